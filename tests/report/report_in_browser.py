"""gestalia-tool informe, printed by a real browser: headless Chromium prints the
page to PDF on A4, and the PDF's text (pdftotext) holds her dates, every note,
every weight and the BMI line. The page asks for nothing from the network, and a
damaged agenda gives no report.
    report_in_browser.py GESTALIA_TOOL"""

import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import agenda_fixture  # noqa: E402

failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def words(text):
    """The text with every run of blanks as one space: lines break anywhere on paper."""
    return " ".join(text.split())


def spanish_kilos(kg):
    return f"{kg:g}".replace(".", ",") + " kg"


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        agenda = os.path.join(work, "agenda.gst")
        with open(agenda, "wb") as f:
            f.write(agenda_fixture.sample_agenda())
        run = subprocess.run([tool, "informe", agenda], capture_output=True, check=False)
        check(run.returncode == 0 and run.stderr == b"", "informe exits 0 and says nothing else")
        html = run.stdout.decode("utf-8")
        page = os.path.join(work, "informe.html")
        with open(page, "w", encoding="utf-8") as f:
            f.write(html)

        # Nothing the browser would fetch: no address, no external style, script or image.
        fetches = re.findall(r"""(?:\b(?:src|href)\s*=|url\(|@import|<(?:link|script|img|iframe|object|embed)\b|https?:|//[a-z])""",
                             html, re.IGNORECASE)
        check(not fetches, f"the page asks for nothing outside itself {fetches}")
        check('<meta charset="utf-8">' in html, "the page says it is UTF-8")

        pdf = os.path.join(work, "informe.pdf")
        browser = subprocess.run(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
             f"--user-data-dir={work}/profile",
             # Any address but the page's own fails: a fetch would show as a missing part.
             "--host-resolver-rules=MAP * ~NOTFOUND", "--proxy-server=127.0.0.1:9",
             f"--print-to-pdf={pdf}", "file://" + page],
            capture_output=True, timeout=120, check=False)
        check(browser.returncode == 0 and os.path.getsize(pdf) > 0,
              "Chromium prints the page to PDF")
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
        check("(A4)" in info, "the pages are A4")
        text = words(subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], capture_output=True,
                                    text=True, check=True).stdout)

        expected = ["4 de Enero de 2027", "11 de Octubre de 2027 (por la última regla)",
                    "IMC 22,0 (normal): ganancia recomendada 11,5–16 kg",
                    "Weight Gain During Pregnancy", "Estás de", "Sin fecha"]
        expected += [words(note["text"]) for note in agenda_fixture.NOTES]
        expected += [spanish_kilos(note["weight"]) for note in agenda_fixture.NOTES
                     if "weight" in note]
        expected += ["110/70", "115/72", "118/75", "27,5 cm", "148 lpm", "142 lpm"]
        for want in expected:
            check(want in text, f"the printed page holds \"{want}\"")

        damaged = os.path.join(work, "damaged.gst")
        with open(damaged, "wb") as f:
            f.write(agenda_fixture.sample_agenda()[:30])
        for command in ("informe", "export-ics"):
            run = subprocess.run([tool, command, damaged], capture_output=True, check=False)
            check(run.returncode == 1 and run.stdout == b"" and b"byte" in run.stderr,
                  f"{command} of a damaged agenda exits 1 with the usual message")
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
