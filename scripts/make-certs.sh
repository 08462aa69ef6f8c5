#!/usr/bin/env bash
# Makes a small certificate authority and a server certificate signed by it, with openssl only
# (nothing fetched): the loopback servers speak TLS with them and the program trusts the CA.
# The keys are elliptic (P-256): a handshake signs with the server's key, which costs a fraction
# of what an RSA key's signature does, and the desk makes one or two handshakes per connection.
# Usage: scripts/make-certs.sh DIR [--out NAME] [--host NAME]... [--expired]
#   DIR/ca.pem, DIR/ca.key      the authority (made once, kept)
#   DIR/NAME.pem, DIR/NAME.key  a server certificate (default NAME "server"; default hosts
#                               localhost and 127.0.0.1); --expired makes one whose days are over
# A certificate already there is kept, so that the servers and the desks keep trusting each other.
set -euo pipefail

dir=${1:?usage: make-certs.sh DIR [--out NAME] [--host NAME]... [--expired]}
shift
out=server
hosts=()
expired=0
while [ $# -gt 0 ]; do
    case "$1" in
    --out) out=$2; shift 2 ;;
    --host) hosts+=("$2"); shift 2 ;;
    --expired) expired=1; shift ;;
    *) echo "make-certs.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
[ ${#hosts[@]} -gt 0 ] || hosts=(localhost 127.0.0.1)
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
umask 077

if [ ! -f "$dir/ca.pem" ] || [ ! -f "$dir/ca.key" ]; then
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -sha256 -days 3650 -subj "/O=teran/CN=teran server CA" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -keyout "$dir/ca.key" -out "$dir/ca.pem" 2>/dev/null
    chmod 644 "$dir/ca.pem"
fi
[ -f "$dir/$out.pem" ] && [ -f "$dir/$out.key" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
alt=""
for h in "${hosts[@]}"; do
    if [[ "$h" =~ ^[0-9.]+$ ]]; then alt+="IP:$h,"; else alt+="DNS:$h,"; fi
done
cat >"$work/ext" <<EXT
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=${alt%,}
EXT
cat >"$work/ca.cnf" <<CNF
[ca]
default_ca = local
[local]
database = $work/index.txt
new_certs_dir = $work
serial = $work/serial
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = supplied
CNF
: >"$work/index.txt"
openssl rand -hex 16 >"$work/serial"
if [ "$expired" -eq 1 ]; then
    dates=(-startdate 20200101000000Z -enddate 20201231235959Z)
else
    dates=(-startdate "$(date -u -d '-1 day' +%Y%m%d%H%M%SZ)" -enddate "$(date -u -d '+825 days' +%Y%m%d%H%M%SZ)")
fi
openssl req -new -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj "/O=teran/CN=${hosts[0]}" \
    -keyout "$work/key" -out "$work/csr" 2>/dev/null
openssl ca -batch -notext -config "$work/ca.cnf" -cert "$dir/ca.pem" -keyfile "$dir/ca.key" \
    -in "$work/csr" -out "$work/pem" -extfile "$work/ext" "${dates[@]}" 2>/dev/null
# The server's key is read by the server only; the certificate is public.
install -m 600 "$work/key" "$dir/$out.key"
install -m 644 "$work/pem" "$dir/$out.pem"
