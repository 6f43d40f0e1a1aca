#!/bin/sh
# pages_spelling.sh HUNSPELL ACCEPTED PAGE...
# Fails, naming them, when hunspell with the es_ES dictionary finds words in
# the pages' text (tags, attributes and the style sheet left out) that are
# neither in the dictionary nor in the accepted list.
set -eu
hunspell=$1
accepted=$2
shift 2
# The dictionary must be there: without it every word would be unknown, or,
# with another language's, the check would prove nothing.
if ! "$hunspell" -D 2>&1 </dev/null | grep -q '/es_ES$'; then
  echo "hunspell has no es_ES dictionary (Debian package hunspell-es)" >&2
  exit 1
fi
check() {
  LC_ALL=C.UTF-8 "$hunspell" -i utf-8 -d es_ES -p "$accepted" -H -l "$@" | sort -u
}
# All pages in one run (loading the dictionary is most of the time); only when
# that finds something, each page again to say where.
[ -z "$(check "$@")" ] && exit 0
for page in "$@"; do
  unknown=$(check "$page")
  [ -n "$unknown" ] && echo "$(basename "$page"): $(echo "$unknown" | tr '\n' ' ')"
done
exit 1
