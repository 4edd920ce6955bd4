#!/usr/bin/env bash
# Builds the Debian package into a private folder and checks it without
# installing anything: control fields, file list and modes, the desktop
# entry and metainfo (validated), the manual pages, and that every program
# it ships answers --version with the project's version and --help in Polish.
#   sprawdz-pakiet.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
wersja=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bledy=0
blad() {
    echo "BŁĄD: $*" >&2
    bledy=$((bledy + 1))
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || {
    cat "$tmp/cpack.log" >&2
    exit 1
}
arch=$(dpkg --print-architecture)
deb="$tmp/out/tolvek_${wersja}_${arch}.deb"
[ -f "$deb" ] || { echo "no $deb:" >&2; ls "$tmp/out" >&2; exit 1; }

# Control fields.
pole() { dpkg-deb -f "$deb" "$1"; }
[ "$(pole Package)" = tolvek ] || blad "Package: $(pole Package)"
[ "$(pole Version)" = "$wersja" ] || blad "Version: $(pole Version)"
[ "$(pole Architecture)" = "$arch" ] || blad "Architecture: $(pole Architecture)"
[ -n "$(pole Maintainer)" ] || blad "no Maintainer"
[ -n "$(pole Description)" ] || blad "no Description"
zalezne=$(pole Depends)
nazwy=$(tr ',' '\n' <<<"$zalezne" | sed 's/^ *//; s/ .*//')
# Found by dpkg-shlibdeps, and the plugins Qt loads at run time.
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6sql6 \
    libsqlite3-0 libssl3 libqt6sql6-sqlite libpq5 libqt6sql6-psql qt6-qpa-plugins; do
    grep -qxF "$p" <<<"$nazwy" || blad "Depends lacks $p: $zalezne"
done

# The file list: only under /usr (not /usr/local), owned by root, programs
# 0755, everything else 0644, folders 0755.
dpkg-deb -c "$deb" >"$tmp/lista"
pliki=$(awk '$1 ~ /^-/ {print $6}' "$tmp/lista" | sed 's|^\./||' | sort)
zle=$(awk '{ p = $6; sub(/^\.\//, "", p)
    want = $1 ~ /^d/ ? "drwxr-xr-x" : (p ~ /^usr\/bin\// ? "-rwxr-xr-x" : "-rw-r--r--")
    if (p !~ /^usr\// || p ~ /^usr\/local\// || $2 != "root/root" || $1 != want) print $1, $2, p }' "$tmp/lista")
[ -z "$zle" ] || blad "files out of place, owner or mode: $zle"

id=pl.tolvek.Tolvek
wymagane="usr/bin/tolvek usr/bin/tolvek-baza usr/bin/tolvek-sim
usr/share/tolvek/alarm.wav usr/share/tolvek/zablokregul.wav usr/share/tolvek/odblokregul.wav
usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
usr/share/icons/hicolor/scalable/apps/$id.svg"
for n in 16 22 24 32 48 64 128 256; do
    wymagane+=" usr/share/icons/hicolor/${n}x${n}/apps/$id.png"
done
for f in $wymagane; do
    grep -qxF "$f" <<<"$pliki" || blad "missing $f"
done
# Every program has its manual page, every page its program; nothing else
# (test or benchmark programs) slips in.
programy=$(grep '^usr/bin/' <<<"$pliki" | sed 's|^usr/bin/||' | sort)
strony=$(grep '^usr/share/man/man1/' <<<"$pliki" | sed 's|^usr/share/man/man1/||; s|\.1\.gz$||' | sort)
[ "$programy" = "$strony" ] || blad "programs ($programy) and manual pages ($strony) differ"
while read -r f; do
    case $f in
    usr/bin/* | usr/share/man/man1/*.1.gz | usr/share/tolvek/* | usr/share/applications/$id.desktop | \
        usr/share/metainfo/$id.metainfo.xml | usr/share/icons/hicolor/*/apps/$id.*) ;;
    *) blad "unexpected file $f" ;;
    esac
done <<<"$pliki"

# What the files say.
dpkg-deb -x "$deb" "$tmp/root"
r=$tmp/root
desktop-file-validate "$r/usr/share/applications/$id.desktop" || blad "desktop entry does not validate"
grep -qx "Exec=tolvek" "$r/usr/share/applications/$id.desktop" || blad "desktop entry does not run tolvek"
grep -qx "Icon=$id" "$r/usr/share/applications/$id.desktop" || blad "desktop entry names another icon"
appstreamcli validate --no-net --strict "$r/usr/share/metainfo/$id.metainfo.xml" >"$tmp/as.log" 2>&1 || {
    cat "$tmp/as.log" >&2
    blad "metainfo does not validate"
}
grep -q "<release version=\"$wersja\"" "$r/usr/share/metainfo/$id.metainfo.xml" || blad "metainfo names another version"
for p in $programy; do
    grep -q "<binary>$p</binary>" "$r/usr/share/metainfo/$id.metainfo.xml" || blad "metainfo does not name $p"
    ostrzezenia=$(zcat "$r/usr/share/man/man1/$p.1.gz" | LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1)
    [ -z "$ostrzezenia" ] || blad "manual page of $p: $ostrzezenia"
    w=$("$r/usr/bin/$p" --version) || blad "$p --version failed"
    [ "$w" = "$p $wersja" ] || blad "$p --version: $w"
    pomoc=$("$r/usr/bin/$p" --help) || blad "$p --help failed"
    grep -q "Użycie" <<<"$pomoc" && grep -q -- "--version" <<<"$pomoc" || blad "$p --help: no Polish usage with --version"
done

[ "$bledy" -eq 0 ] || exit 1
echo "package $(basename "$deb") checked: $(wc -l <<<"$pliki") files"
