#!/bin/sh
# Signs one Windows executable in place with osslsigncode (Authenticode,
# SHA-256): sign.sh CERT KEY FILE.
#   CERT  a PEM certificate (chain) with KEY its PEM private key, or a
#         PKCS#12 file (.pfx/.p12) with KEY empty
# Environment: RAVO_SIGN_PASS, the key's or PKCS#12 file's password;
# RAVO_SIGN_TIMESTAMP, a time-stamping server URL (releases should use one).
set -eu

if [ $# -ne 3 ] || [ -z "$1" ] || [ ! -f "$3" ]; then
  echo "usage: sign.sh CERT KEY FILE" >&2
  exit 2
fi
cert=$1 key=$2 file=$3

set -- sign -h sha256 -n Ravo
case "$cert" in
  *.pfx|*.p12|*.PFX|*.P12) set -- "$@" -pkcs12 "$cert" ;;
  *) set -- "$@" -certs "$cert" -key "$key" ;;
esac
if [ -n "${RAVO_SIGN_TIMESTAMP:-}" ]; then
  set -- "$@" -ts "$RAVO_SIGN_TIMESTAMP"
fi

tmp=$(mktemp "${file}.signing.XXXXXX")
pass=""
trap 'rm -f "$tmp" ${pass:+"$pass"}' EXIT
if [ -n "${RAVO_SIGN_PASS:-}" ]; then
  # Through a private file, not the command line, which others can read.
  pass=$(mktemp)
  printf '%s' "$RAVO_SIGN_PASS" >"$pass"
  set -- "$@" -readpass "$pass"
fi
rm -f "$tmp"
osslsigncode "$@" -in "$file" -out "$tmp" >/dev/null
mv -f "$tmp" "$file"
