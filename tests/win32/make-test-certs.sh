#!/bin/sh
# Makes the certificates the TLS tests serve, in the folder given:
#   ca.pem/.key          a test authority (trusted by a test for its run)
#   localhost.pem/.key   for DNS:localhost, issued by the test authority
#   other.pem/.key       for DNS:other.example, issued by it
#   self.pem/.key        for localhost, signed by itself
#   expired.pem/.key     for localhost, issued by the test authority, already
#                        out of date
#   stranger.pem/.key    for localhost, issued by another authority that no
#                        one trusts (stranger-ca.pem), served without it
#   dh.pem               DH parameters (the IRC server wants a file)
#   <name>.sha256        each leaf's SHA-256 as the user sees it (AA:BB:...)
set -eu

folder=${1:?usage: make-test-certs.sh <folder>}
mkdir -p "$folder"
cd "$folder"

key() {
  openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1.key" 2>/dev/null
}
# The leaves share one key: making keys is what takes the time here.
key leaf
leaf_key() { cp leaf.key "$1.key"; }

cat >leaf.ext <<'EOF'
basicConstraints = CA:FALSE
keyUsage = digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = $ENV::TAVRIN_SAN
EOF

# `openssl ca` is the one tool here that sets any start and end date.
mkdir -p ca.db
: >ca.db/index.txt
cat >ca.cnf <<'EOF'
[ca]
default_ca = test_ca
[test_ca]
dir = ca.db
database = ca.db/index.txt
new_certs_dir = ca.db
rand_serial = yes
default_md = sha256
policy = any_name
copy_extensions = none
unique_subject = no
[any_name]
commonName = supplied
EOF

# authority <name> <common name>
authority() {
  key "$1"
  openssl req -x509 -new -key "$1.key" -sha256 -days 3650 -subj "/CN=$2" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" -out "$1.pem"
}
authority ca "Tavrin Test CA"
authority stranger-ca "Tavrin Stranger CA"

# issue <name> <dns name> <start> <end> [authority]
issue() {
  leaf_key "$1"
  openssl req -new -key "$1.key" -subj "/CN=$2" -out "$1.csr"
  TAVRIN_SAN="DNS:$2" openssl ca -batch -notext -config ca.cnf -cert "${5:-ca}.pem" \
    -keyfile "${5:-ca}.key" -extfile leaf.ext -startdate "$3" -enddate "$4" \
    -in "$1.csr" -out "$1.pem" 2>/dev/null
  rm -f "$1.csr"
}

now=$(date -u +%s)
stamp() { date -u -d "@$1" +%Y%m%d%H%M%SZ; }
day=86400
issue localhost localhost "$(stamp $((now - day)))" "$(stamp $((now + 365 * day)))"
issue other other.example "$(stamp $((now - day)))" "$(stamp $((now + 365 * day)))"
issue expired localhost "$(stamp $((now - 60 * day)))" "$(stamp $((now - 30 * day)))"
issue stranger localhost "$(stamp $((now - day)))" "$(stamp $((now + 365 * day)))" stranger-ca

leaf_key self
openssl req -x509 -new -key self.key -sha256 -days 365 \
  -subj "/CN=localhost" -extensions v3_leaf -config /dev/stdin -out self.pem <<'EOF'
[req]
distinguished_name = dn
[dn]
[v3_leaf]
basicConstraints = CA:FALSE
keyUsage = digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost
EOF

# A named group's parameters: instant, where generating new ones takes half
# a minute.
openssl genpkey -genparam -algorithm DH -pkeyopt group:ffdhe2048 -out dh.pem

for name in localhost other self expired stranger; do
  openssl x509 -in "$name.pem" -noout -fingerprint -sha256 | sed 's/.*=//' >"$name.sha256"
done
