/*
 * minimal_host.c: a complete host of ZQTRTTYContest.dll in one file, to read top to bottom and copy.
 *
 * It does what a logging program does with the module: load it and find its six exports, connect to the log
 * through ODBC, open the statistics window, log QSOs (each one into the log table and to the module), ask for
 * a serial number once, release the window, keep pumping messages until the window is gone, and unload.
 *
 *   usage: minimal_host QSO-FILE LOG [DLL]
 *
 *   QSO-FILE  one QSO a line: the log table's seven columns in their order, separated by blanks,
 *             CallSign DigiBand QSOMode Continent QSOReportRecived MainPrefix DXCCPrefix
 *             for example "JA1ABC 20m RTTY AS 599 JA1 JA"; blank lines and lines starting with # are skipped.
 *   LOG       an ODBC connection string (any text holding "="), such as
 *             "Driver=PostgreSQL ANSI;Server=log-pc;Database=contest;Uid=op", or else an SQLite database
 *             file, opened through the SQLite ODBC driver. The table Log is created when it is missing. The
 *             QSOs already in it count too: the window recounts the whole table.
 *   DLL       the module; by default ZQTRTTYContest.dll, which Windows looks for beside this program first.
 *
 * It prints each answer of the module and, at the end, the report read from the window. On any failure it
 * prints a message on standard error, closes what it opened and exits with 1 (2 for a wrong command line).
 *
 * Build it as a 32-bit program, as the module is one, with ZQTRTTYContest.h beside it:
 *   i686-w64-mingw32-gcc -std=c11 -O2 minimal_host.c -o minimal_host.exe -lodbc32
 */
#include <windows.h>
#include <sql.h>
#include <sqlext.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "ZQTRTTYContest.h"

/* The names the SQLite ODBC driver is registered under, tried in turn: "SQLite3 ODBC Driver" by its Windows
 * installer, "SQLite3" by Debian's unixODBC (and so under Wine, whose odbc32 hands connections to it). */
static const char* const sqlite_drivers[] = {"SQLite3 ODBC Driver", "SQLite3"};
#define LOG_TABLE "Log"
#define COLUMNS 7
/* How long to wait for the window to go after _Release. */
#define RELEASE_TIMEOUT_MS 10000

/* The module's six exports, found by name. */
typedef struct Module {
  HMODULE library;
  ZqtGetInfoFn get_info;
  ZqtRunFn run;
  ZqtGetScoreFn get_score;
  ZqtAddQSOFn add_qso;
  ZqtGrabNumberFn grab_number;
  ZqtReleaseFn release;
} Module;

/* The host's log: an ODBC environment and one connection, which the module shares. */
typedef struct Log {
  SQLHENV environment;
  SQLHDBC connection;
  int connected;
} Log;

/* Whether an ODBC call succeeded; when not, prints the driver's first diagnostic after what failed. */
static int odbc_ok(SQLRETURN rc, SQLSMALLINT handle_type, SQLHANDLE handle, const char* what) {
  SQLCHAR state[6];
  SQLCHAR message[512];
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (SQL_SUCCEEDED(rc)) {
    return 1;
  }
  if (!SQL_SUCCEEDED(SQLGetDiagRec(handle_type, handle, 1, state, &native, message,
                                   (SQLSMALLINT)sizeof message, &length))) {
    strcpy((char*)message, "no diagnostic");
  }
  fprintf(stderr, "error: %s: %s\n", what, (const char*)message);
  return 0;
}

static int execute(SQLHDBC connection, SQLCHAR* sql) {
  SQLHSTMT statement = SQL_NULL_HSTMT;
  if (!odbc_ok(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement), SQL_HANDLE_DBC, connection,
               "a statement")) {
    return 0;
  }
  const int ok =
      odbc_ok(SQLExecDirect(statement, sql, SQL_NTS), SQL_HANDLE_STMT, statement, (const char*)sql);
  SQLFreeHandle(SQL_HANDLE_STMT, statement);
  return ok;
}

/* Connects with the ANSI function: the module reads and writes 8-bit text, and so does this host. */
static SQLRETURN driver_connect(Log* log, const char* connect) {
  return SQLDriverConnect(log->connection, NULL, (SQLCHAR*)connect, SQL_NTS, NULL, 0, NULL,
                          SQL_DRIVER_NOPROMPT);
}

/* Connects to LOG, a connection string or an SQLite file (see the usage), and creates the table. */
static int open_log(Log* log, const char* target) {
  char connect[1024];
  if (!odbc_ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &log->environment), SQL_HANDLE_ENV,
               SQL_NULL_HANDLE, "the ODBC environment") ||
      !odbc_ok(SQLSetEnvAttr(log->environment, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)(uintptr_t)SQL_OV_ODBC3, 0),
               SQL_HANDLE_ENV, log->environment, "ODBC 3") ||
      !odbc_ok(SQLAllocHandle(SQL_HANDLE_DBC, log->environment, &log->connection), SQL_HANDLE_ENV,
               log->environment, "an ODBC connection")) {
    return 0;
  }
  /* A connection string is used as it is; a file is tried with each of the SQLite driver's names. */
  const int is_string = strchr(target, '=') != NULL;
  const size_t tries = is_string ? 1 : sizeof sqlite_drivers / sizeof sqlite_drivers[0];
  SQLRETURN rc = SQL_ERROR;
  for (size_t i = 0; i < tries && !SQL_SUCCEEDED(rc); ++i) {
    const int length =
        is_string ? snprintf(connect, sizeof connect, "%s", target)
                  : snprintf(connect, sizeof connect, "Driver={%s};Database=%s", sqlite_drivers[i], target);
    if (length < 0 || length >= (int)sizeof connect) {
      fprintf(stderr, "error: the log's name is too long: %s\n", target);
      return 0;
    }
    rc = driver_connect(log, connect);
  }
  if (!odbc_ok(rc, SQL_HANDLE_DBC, log->connection, connect)) {
    return 0;
  }
  log->connected = 1;
  /* The module reads these seven columns by name as text; a log may hold more columns of its own. */
  SQLCHAR create[] = "CREATE TABLE IF NOT EXISTS " LOG_TABLE
                     " (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, Continent TEXT, "
                     "QSOReportRecived TEXT, MainPrefix TEXT, DXCCPrefix TEXT)";
  return execute(log->connection, create);
}

static void close_log(Log* log) {
  if (log->connected) {
    SQLDisconnect(log->connection);
  }
  if (log->connection != SQL_NULL_HDBC) {
    SQLFreeHandle(SQL_HANDLE_DBC, log->connection);
  }
  if (log->environment != SQL_NULL_HENV) {
    SQLFreeHandle(SQL_HANDLE_ENV, log->environment);
  }
}

/* Inserts one QSO. Its texts travel as parameters, so a quote in a call cannot change the statement. The
 * statement is freed before the host's messages run again: the window may then run its own query on this
 * connection, and some drivers allow only one active statement per connection. */
static int insert_qso(SQLHDBC connection, char fields[COLUMNS][256]) {
  SQLCHAR insert[] = "INSERT INTO " LOG_TABLE
                     " (CallSign, DigiBand, QSOMode, Continent, QSOReportRecived, MainPrefix, "
                     "DXCCPrefix) VALUES (?, ?, ?, ?, ?, ?, ?)";
  SQLLEN lengths[COLUMNS];
  SQLHSTMT statement = SQL_NULL_HSTMT;
  if (!odbc_ok(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement), SQL_HANDLE_DBC, connection,
               "a statement")) {
    return 0;
  }
  int ok = 1;
  for (SQLUSMALLINT i = 0; ok && i < COLUMNS; ++i) {
    lengths[i] = SQL_NTS;
    ok = odbc_ok(SQLBindParameter(statement, (SQLUSMALLINT)(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  255, 0, fields[i], 256, &lengths[i]),
                 SQL_HANDLE_STMT, statement, "a parameter");
  }
  ok = ok && odbc_ok(SQLExecDirect(statement, insert, SQL_NTS), SQL_HANDLE_STMT, statement, "the insert");
  SQLFreeHandle(SQL_HANDLE_STMT, statement);
  return ok;
}

/* The address of an export, as the generic function type that every export's type is cast from. */
typedef void (*Export)(void);

static Export find_export(HMODULE library, const char* name) {
  const Export function = (Export)GetProcAddress(library, name);
  if (function == NULL) {
    fprintf(stderr, "error: the module has no export %s\n", name);
  }
  return function;
}

static int load_module(Module* module, const char* path) {
  module->library = LoadLibraryA(path);
  if (module->library == NULL) {
    fprintf(stderr, "error: cannot load %s (error %lu)\n", path, GetLastError());
    return 0;
  }
  /* The undecorated names: no "@8" suffix, although the functions are __stdcall. */
  module->get_info = (ZqtGetInfoFn)find_export(module->library, "_GetInfo");
  module->run = (ZqtRunFn)find_export(module->library, "_Run");
  module->get_score = (ZqtGetScoreFn)find_export(module->library, "_GetScore");
  module->add_qso = (ZqtAddQSOFn)find_export(module->library, "_AddQSO");
  module->grab_number = (ZqtGrabNumberFn)find_export(module->library, "_GrabNumber");
  module->release = (ZqtReleaseFn)find_export(module->library, "_Release");
  return module->get_info && module->run && module->get_score && module->add_qso && module->grab_number &&
         module->release;
}

/* Runs the thread's waiting messages, as a logging program's message loop does between QSOs: the module's
 * window lives on this thread and gets its messages only from here. */
static void pump_messages(void) {
  MSG message;
  while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

/* _Release only asks the window to go: it is destroyed, and saves its placement, once its queued messages
 * have run, and that is code of the DLL. So pump until the window is gone, and unload the DLL only then. */
static int pump_until_gone(HWND window) {
  const DWORD start = GetTickCount();
  for (;;) {
    pump_messages();
    if (!IsWindow(window)) {
      return 1;
    }
    if (GetTickCount() - start >= RELEASE_TIMEOUT_MS) {
      fprintf(stderr, "error: the module's window is still there %d s after _Release\n",
              RELEASE_TIMEOUT_MS / 1000);
      return 0;
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
  }
}

/* Stores text as the records hold it: a length byte, then at most 255 characters. */
static void set_text(ZqtText slot, const char* text) {
  size_t length = strlen(text);
  if (length > 255) {
    length = 255;
  }
  slot[0] = (uint8_t)length;
  memcpy(slot + 1, text, length);
}

static int text_length(const ZqtText slot) {
  return slot[0];
}

static const char* text_chars(const ZqtText slot) {
  return (const char*)slot + 1;
}

/* Splits a QSO line into the seven columns. 1: a QSO; 0: a blank or comment line; -1: anything else. */
static int parse_qso_line(const char* line, char fields[COLUMNS][256]) {
  char extra[2];
  const int found = sscanf(line, "%255s %255s %255s %255s %255s %255s %255s %1s", fields[0], fields[1],
                           fields[2], fields[3], fields[4], fields[5], fields[6], extra);
  if (found <= 0 || fields[0][0] == '#') {
    return 0;
  }
  return found == COLUMNS ? 1 : -1;
}

/* The report is the text of the window's one EDIT control. A host need not read it; here it shows the tally.
 */
static void print_report(HWND window) {
  char report[1024];
  const HWND area = FindWindowExA(window, NULL, "Edit", NULL);
  const int length = area != NULL ? GetWindowTextA(area, report, (int)sizeof report) : 0;
  printf("report:\n");
  for (int i = 0; i < length; ++i) {
    if (report[i] != '\r') {
      putchar(report[i]);
    }
  }
  if (length > 0 && report[length - 1] != '\n') {
    putchar('\n');
  }
}

/* Logs every QSO of the file, as an operator would one after the other. */
static int log_qsos(const Module* module, SQLHDBC connection, TContestData* data, FILE* qsos) {
  char line[2048];
  char fields[COLUMNS][256];
  uint8_t* const slots[COLUMNS] = {data->CallSign,         data->DigiBand,   data->QSOMode,   data->Continent,
                                   data->QSOReportRecived, data->MainPrefix, data->DXCCPrefix};
  for (int number = 1; fgets(line, sizeof line, qsos) != NULL; ++number) {
    const int whole = strchr(line, '\n') != NULL || feof(qsos);
    line[strcspn(line, "\r\n")] = '\0';
    const int parsed = whole ? parse_qso_line(line, fields) : -1;
    if (parsed < 0) {
      fprintf(stderr, "error: QSO line %d is not seven fields separated by blanks: %s\n", number, line);
      return 0;
    }
    if (parsed == 0) {
      continue;
    }
    for (int i = 0; i < COLUMNS; ++i) {
      set_text(slots[i], fields[i]);
    }
    /* As the operator types the call: is it a duplicate (-1) or new (1)? Nothing is counted yet. */
    const int32_t score = module->get_score(data);
    /* Logged: the row goes into the log table, which the window recounts whenever it is shown or the operator
     * presses "Recalc Statistic", and then the module counts it (or answers -1 for a duplicate). */
    if (!insert_qso(connection, fields)) {
      return 0;
    }
    const int32_t added = module->add_qso(data);
    printf("%s %s %s: _GetScore %d, _AddQSO %d%s\n", fields[0], fields[1], fields[2], (int)score, (int)added,
           added < 0 ? " (duplicate)" : "");
    pump_messages();
  }
  if (ferror(qsos)) {
    fprintf(stderr, "error: cannot read the QSO file\n");
    return 0;
  }
  return 1;
}

/* The six calls in their order, from _GetInfo to _Release. */
static int run_contest(const Module* module, SQLHDBC connection, FILE* qsos) {
  TPluginInfo info;
  memset(&info, 0, sizeof info);
  module->get_info(&info);
  printf("_GetInfo: \"%.*s\", key \"%.*s\", kind %d, version %d\n", text_length(info.PluginName),
         text_chars(info.PluginName), text_length(info.PluginKey), text_chars(info.PluginKey),
         (int)info.PluginKind, (int)info.PluginVersion);

  /* One record serves every call: each export copies all 5916 bytes before it returns and never writes
   * them, so the host may change the record for the next QSO at once. The host data stretches are the
   * host's; the module does not read them. */
  TContestData data;
  memset(&data, 0, sizeof data);
  /* The records come from a 32-bit build: Connection holds the SQLHDBC in 4 bytes. The window keeps the
   * connection of the record it was created from for its whole life, so keep it connected until the window
   * is gone. */
#if UINTPTR_MAX > UINT32_MAX
  if ((uintptr_t)connection > UINT32_MAX) {
    fprintf(stderr, "error: the ODBC connection handle does not fit the record's 32-bit Connection\n");
    return 0;
  }
#endif
  data.Connection = (uint32_t)(uintptr_t)connection;
  set_text(data.LogTable, LOG_TABLE);
  set_text(data.CaptionPrefix, "Example");

  /* Creates and shows the window, which recounts the log table before _Run returns. A recount that fails (a
   * missing table, say) shows its reason in a message box, also before _Run returns. The first argument is
   * ignored. */
  const HWND window = (HWND)module->run(0, &data);
  if (window == NULL) {
    fprintf(stderr, "error: _Run opened no window\n");
    return 0;
  }
  char caption[300];
  GetWindowTextA(window, caption, (int)sizeof caption);
  printf("_Run: the window \"%s\"\n", caption);
  pump_messages();

  const int ok = log_qsos(module, connection, &data, qsos);
  if (ok) {
    /* The number a logging program would send next; this contest has none, so the text is always empty. */
    uint8_t number[256];
    module->grab_number(&data, number);
    printf("_GrabNumber: \"%.*s\"\n", text_length(number), text_chars(number));
    print_report(window);
  }

  module->release();
  printf("_Release\n");
  return pump_until_gone(window) && ok;
}

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    fprintf(stderr, "usage: minimal_host QSO-FILE LOG [DLL]\n");
    return 2;
  }
  FILE* qsos = fopen(argv[1], "r");
  if (qsos == NULL) {
    fprintf(stderr, "error: cannot read %s\n", argv[1]);
    return 1;
  }
  Log log = {SQL_NULL_HENV, SQL_NULL_HDBC, 0};
  Module module;
  memset(&module, 0, sizeof module);
  const int ok = open_log(&log, argv[2]) && load_module(&module, argc > 3 ? argv[3] : "ZQTRTTYContest.dll") &&
                 run_contest(&module, log.connection, qsos);
  /* On the thread that called _Run: unloading unregisters the module's window classes. */
  if (module.library != NULL) {
    FreeLibrary(module.library);
    printf("unloaded\n");
  }
  close_log(&log);
  fclose(qsos);
  return ok ? 0 : 1;
}
