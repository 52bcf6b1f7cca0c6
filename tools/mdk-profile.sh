# Helpers for the scripts that drive MDK under Wine: the reservation table laid in
# with reg.exe. Source it; needs RUN (tools/wine-run.sh).

MIRADO_KEY='HKCU\Software\Vezaru\Mirado'

# reservation_text METHOD COLOUR DATEON FM FD TM TD TIMEON FH FMIN TH TMIN TIMERON TH TMI PERIOD
reservation_text() {
  printf '%1d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%02d%02d%d %1d%02d%02d%d' \
    "$1" "$2" "$3" "$4" "$5" "$6" "$7" 0 "$8" "$9" "${10}" "${11}" "${12}" 0 "${13}" "${14}" "${15}" "${16}"
}

reg_sz() { "$RUN" reg add "$MIRADO_KEY\\$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
reg_dword() { "$RUN" reg add "$MIRADO_KEY\\$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null 2>&1; }

# A Unix path as the Windows programs see it (Wine's Z: drive).
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
