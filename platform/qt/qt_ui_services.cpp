#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPalette>
#include <QStringList>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/qt/qt_dialog_window.h"

namespace gestalia {

namespace {

QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QMessageBox::Icon ToQtIcon(MbIcon icon) {
    switch (icon) {
        case MbIcon::Information:
            return QMessageBox::Information;
        case MbIcon::Question:
            return QMessageBox::Question;
        case MbIcon::Warning:
            return QMessageBox::Warning;
        case MbIcon::Error:
            return QMessageBox::Critical;
        case MbIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// "Agendas Brotela (*.gst)"
QString FilterText(const CFileFilter& filter) {
    return ToQt(filter.strDescription) + QStringLiteral(" (") + ToQt(filter.strPattern) +
           QStringLiteral(")");
}

}  // namespace

bool IsOpenableUrl(std::string_view url) {
    const QUrl parsed(ToQt(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty()) {
        return false;
    }
    const QString scheme = parsed.scheme().toLower();
    return scheme == QStringLiteral("http") || scheme == QStringLiteral("https");
}

int CQtUiServices::RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) {
    CQtDialogWindow window(tmpl, handler, QApplication::activeModalWidget());
    return window.RunModal();
}

int CQtUiServices::MessageBox(std::string_view text, std::string_view caption, MbButtons buttons,
                              MbIcon icon, MbDefault defaultButton) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->MessageBox(text, caption, buttons, icon, defaultButton);
    }
    QMessageBox box(ToQtIcon(icon), ToQt(caption), ToQt(text), QMessageBox::NoButton,
                    QApplication::activeModalWidget());
    // The buttons in order, each with the answer it gives.
    std::vector<std::pair<QMessageBox::StandardButton, int>> answers;
    switch (buttons) {
        case MbButtons::Ok:
            answers = {{QMessageBox::Ok, IDOK}};
            break;
        case MbButtons::YesNo:
            answers = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        case MbButtons::YesNoCancel:
            answers = {{QMessageBox::Yes, IDYES},
                       {QMessageBox::No, IDNO},
                       {QMessageBox::Cancel, IDCANCEL}};
            break;
    }
    for (const auto& [button, answer] : answers) {
        box.addButton(button);
    }
    const auto index = std::min(static_cast<std::size_t>(defaultButton), answers.size() - 1);
    box.setDefaultButton(answers[index].first);
    box.setEscapeButton(answers.back().first);
    box.exec();
    const auto* clicked = box.clickedButton();
    for (const auto& [button, answer] : answers) {
        if (clicked == box.button(button)) {
            return answer;
        }
    }
    return answers.back().second;
}

std::optional<std::string> CQtUiServices::RunFileDialog(const CFileDialogSpec& spec, bool bSave) {
    QFileDialog dialog(QApplication::activeModalWidget());
    QStringList filters;
    for (const CFileFilter& filter : spec.filters) {
        filters << FilterText(filter);
    }
    dialog.setNameFilters(filters);
    if (spec.nFilterIndex >= 1 && spec.nFilterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(spec.nFilterIndex - 1));
    }
    if (!spec.strInitialPath.empty()) {
        dialog.selectFile(ToQt(spec.strInitialPath));
    }
    if (bSave) {
        // A new name is accepted; replacing a file is asked by the caller
        // unless the dialog is told to ask itself.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.bConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(spec.bFileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QByteArray path = dialog.selectedFiles().constFirst().toUtf8();
    return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

std::optional<std::string> CQtUiServices::GetSaveFileName(const CFileDialogSpec& spec) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->GetSaveFileName(spec);
    }
    return RunFileDialog(spec, true);
}

std::optional<std::string> CQtUiServices::GetOpenFileName(const CFileDialogSpec& spec) {
    if (m_pAnswers != nullptr) {
        return m_pAnswers->GetOpenFileName(spec);
    }
    return RunFileDialog(spec, false);
}

bool CQtUiServices::OpenUrl(std::string_view url) {
    if (!IsOpenableUrl(url)) {
        return false;
    }
    // The address goes to the desktop as one URL; nothing interprets it as a command.
    return QDesktopServices::openUrl(QUrl(ToQt(url), QUrl::StrictMode));
}

int CQtUiMetrics::ScrollBarWidth() const {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

Colour CQtUiMetrics::HighlightColour() const {
    const QColor c = QApplication::palette().color(QPalette::Highlight);
    return RGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue()));
}

}  // namespace gestalia
