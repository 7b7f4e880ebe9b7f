"""The contest's rules counted here, independently of the module, for the Python suites: the columns of the
log table as the hosts keep it, the report the module must show for a log's rows, and the report's totals
read back."""

import re

# The seven columns the module reads, in the order of a QSO line's fields, then five of the host's own: the
# table the hosts create, all text.
LOG_COLUMNS = ["CallSign", "DigiBand", "QSOMode", "Continent", "QSOReportRecived", "MainPrefix", "DXCCPrefix"]
HOST_COLUMNS = LOG_COLUMNS + ["QSODate", "QSOTime", "Frequency", "ExchangeSent", "ExchangeRecived"]

REPORT_COLUMNS = ["QSO", "DX", "JA", "W", "VE", "VK", "Cont"]
# The entities whose call areas count, with the report's column for them.
AREA_COLUMNS = {"JA": "JA", "K": "W", "VE": "VE", "VK": "VK"}


def create_table_sql(table, columns=HOST_COLUMNS, types="text"):
    """The statement that creates a log table: every column of one type, or each of its own (a list)."""
    types = [types] * len(columns) if isinstance(types, str) else types
    return f"create table {table} (" + ", ".join(f"{c} {t}".rstrip() for c, t in zip(columns, types)) + ")"


def report(totals, continents):
    """The window's text for these totals (by REPORT_COLUMNS) and continents (in their order), with LF line
    ends as the hosts print it: four lines, then the characters of code 32 or below trimmed at both ends."""
    qso, dx, ja, w, ve, vk, cont = (totals[column] for column in REPORT_COLUMNS)
    text = (".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\n" +
            "Total\t" + "".join(f"{totals[column]:>4}\t" for column in REPORT_COLUMNS) + "\n" +
            f" Score: {qso}*({dx}+{ja}+{w}+{ve}+{vk})*{cont}= {qso * (dx + ja + w + ve + vk) * cont}\n" +
            f"Cont({cont})\t" + "".join(continent + "\t" for continent in continents))
    return text.strip("".join(chr(c) for c in range(33)))


def rebuilt_report(rows):
    """The report of a rebuild from log rows whose first seven values are LOG_COLUMNS' texts: a QSO is new
    unless its call, band and mode were counted exactly so before; the entity and continent sets and the call
    areas of JA, K, VE and VK ignore letter case; the continent is counted in capitals; a value keeps 255
    characters. The continents used here sort the same by character code and by the user's collation."""
    worked = set()
    sets = {column: set() for column in REPORT_COLUMNS[1:]}
    for row in rows:
        call, band, mode, continent, _, main_prefix, dxcc = (text[:255] for text in row[:7])
        if (call, band, mode) in worked:
            continue
        worked.add((call, band, mode))
        sets["DX"].add(dxcc.upper())
        if dxcc in AREA_COLUMNS:
            sets[AREA_COLUMNS[dxcc]].add(main_prefix.upper())
        sets["Cont"].add("".join(c.upper() if "a" <= c <= "z" else c for c in continent))
    return report({"QSO": len(worked), **{column: len(s) for column, s in sets.items()}}, sorted(sets["Cont"]))


def totals(report_text):
    """The numbers of a report's Total line, by REPORT_COLUMNS."""
    match = re.search(r"^Total((\t *\d+){7})\t", report_text, re.MULTILINE)
    if not match:
        raise AssertionError(f"no Total line in the report:\n{report_text}")
    return dict(zip(REPORT_COLUMNS, map(int, match.group(1).split())))
