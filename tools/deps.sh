# Installs the Debian packages that building Lumetra needs, and those named
# as arguments, when any is missing. Sourced by tools/start and tools/test.
lumetra_install_deps() {
  local packages=(cmake g++ make qt6-base-dev fonts-dejavu-core fonts-liberation2 "$@")
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
