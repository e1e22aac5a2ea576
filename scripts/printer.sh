# Sourced: a real printer for the Windows program. Wine prints through CUPS;
# here CUPS gets a PDF printer (cups-pdf, its default) writing into
# build/print-out and a PostScript printer writing build/print-out/out.ps.
# cupsd must run before any Wine program starts: Wine drops the CUPS
# printers from its prefix when it finds no cupsd.

LUMORA_PRINT_OUT=${LUMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}/build/print-out
export LUMORA_PRINT_OUT
LUMORA_CUPSD_PID=""

lumora_printer_sudo() { if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi; }

# Configures CUPS (once), starts cupsd when none runs and makes the queues.
# Fails when CUPS cannot be started.
lumora_start_printer() {
    mkdir -p "$LUMORA_PRINT_OUT"
    chmod 777 "$LUMORA_PRINT_OUT"
    grep -q '^FileDevice Yes' /etc/cups/cups-files.conf ||
        echo 'FileDevice Yes' | lumora_printer_sudo tee -a /etc/cups/cups-files.conf >/dev/null
    grep -qxF "Out $LUMORA_PRINT_OUT" /etc/cups/cups-pdf.conf ||
        lumora_printer_sudo sed -i "s|^Out .*|Out $LUMORA_PRINT_OUT|" /etc/cups/cups-pdf.conf
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        lumora_printer_sudo /usr/sbin/cupsd -f >/dev/null 2>&1 &
        LUMORA_CUPSD_PID=$!
        for _ in $(seq 1 100); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.1
        done
    fi
    lpstat -r 2>/dev/null | grep -q 'is running' || { echo "printer: cupsd does not run" >&2; return 1; }
    lpstat -p PDF >/dev/null 2>&1 ||
        lumora_printer_sudo lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd || return 1
    lpstat -p PS >/dev/null 2>&1 ||
        lumora_printer_sudo lpadmin -p PS -v "file://$LUMORA_PRINT_OUT/out.ps" -E -m drv:///sample.drv/generic.ppd ||
        return 1
    lumora_printer_sudo lpoptions -d PDF >/dev/null
}

# Waits until CUPS has no job left (the PDF is written then).
lumora_printer_idle() {
    for _ in $(seq 1 300); do
        [ -z "$(lpstat -o 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    return 1
}

# Stops the cupsd that lumora_start_printer started, if it did.
lumora_stop_printer() {
    if [ -n "$LUMORA_CUPSD_PID" ]; then
        lumora_printer_sudo kill "$LUMORA_CUPSD_PID" 2>/dev/null || true
        wait "$LUMORA_CUPSD_PID" 2>/dev/null || true
        LUMORA_CUPSD_PID=""
    fi
}
