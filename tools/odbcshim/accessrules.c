/*
 * The Access driver's rules that the SQLite driver behind the stand-in does
 * not keep, for the statements this program can send:
 *
 * - Views and procedures. Jet 4.0 accepts CREATE VIEW, DROP VIEW, CREATE
 *   PROCEDURE and DROP PROCEDURE only in its ANSI-92 mode, which the ODBC
 *   driver turns on with ExtendedAnsiSQL=1 in the connection string ("Creating
 *   and Dropping Views and Procedures Using ExtendedAnsiSQL", Microsoft's ODBC
 *   driver documentation); without it the driver answers "Syntax error in
 *   CREATE TABLE statement."
 * - Field sizes. A TEXT(n) (VARCHAR(n), CHAR(n)) column holds at most n
 *   characters; Jet refuses a longer value with "The field is too small to
 *   accept the amount of data you attempted to add. Try inserting or pasting
 *   less data." SQLite stores any length. The values checked are the quoted
 *   literals of INSERT ... VALUES (...) and UPDATE ... SET col = ..., the
 *   forms the program writes; the program's texts are code page 1251, one
 *   byte a character.
 *
 * A refused statement fails through the SQLite driver itself, so that its
 * usual diagnostics carry the message: each connection gets a temporary
 * table whose triggers raise the two messages, and the statement handle runs
 * an insert into it instead of the refused statement.
 */
#include <ctype.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include "shim.h"

typedef SQLRETURN (SQL_API *AllocHandleFn)(SQLSMALLINT, SQLHANDLE, SQLHANDLE *);
typedef SQLRETURN (SQL_API *AllocStmtFn)(SQLHDBC, SQLHSTMT *);
typedef SQLRETURN (SQL_API *FreeHandleFn)(SQLSMALLINT, SQLHANDLE);
typedef SQLRETURN (SQL_API *FreeStmtFn)(SQLHSTMT, SQLUSMALLINT);
typedef SQLRETURN (SQL_API *ExecDirectFn)(SQLHSTMT, SQLCHAR *, SQLINTEGER);
typedef SQLRETURN (SQL_API *FetchFn)(SQLHSTMT);
typedef SQLRETURN (SQL_API *GetDataFn)(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN *);

/* The SQLite driver's function `name` of type `type`, looked up once. */
#define REAL(type, name)                                  \
    ({                                                    \
        static type found_;                               \
        if (!found_)                                      \
            found_ = (type)shim_real(name);               \
        found_;                                           \
    })

enum refusal { NONE = 0, SYNTAX = 1, FIELD_SIZE = 2 };

static const char *const setup[] = {
    "CREATE TEMP TABLE IF NOT EXISTS velarmon_refusal (kind INTEGER)",
    "CREATE TEMP TRIGGER IF NOT EXISTS velarmon_refusal_syntax BEFORE INSERT ON velarmon_refusal "
    "WHEN NEW.kind = 1 BEGIN SELECT RAISE(ABORT, 'Syntax error in CREATE TABLE statement.'); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS velarmon_refusal_size BEFORE INSERT ON velarmon_refusal "
    "WHEN NEW.kind = 2 BEGIN SELECT RAISE(ABORT, 'The field is too small to accept the amount of data you "
    "attempted to add. Try inserting or pasting less data.'); END",
};

/* Connections and the statements made on them. */
struct link {
    SQLHANDLE handle;
    SQLHANDLE owner; /* a statement's connection; NULL for a connection */
    int extended;
    struct link *next;
};
static struct link *links;
static pthread_mutex_t links_lock = PTHREAD_MUTEX_INITIALIZER;

static void remember(SQLHANDLE handle, SQLHANDLE owner, int extended)
{
    pthread_mutex_lock(&links_lock);
    struct link *l = links;
    while (l && l->handle != handle)
        l = l->next;
    if (!l && (l = calloc(1, sizeof *l)) != NULL) {
        l->handle = handle;
        l->next = links;
        links = l;
    }
    if (l) {
        l->owner = owner;
        l->extended = extended;
    }
    pthread_mutex_unlock(&links_lock);
}

static void forget(SQLHANDLE handle)
{
    pthread_mutex_lock(&links_lock);
    for (struct link **at = &links; *at; at = &(*at)->next) {
        if ((*at)->handle == handle) {
            struct link *gone = *at;
            *at = gone->next;
            free(gone);
            break;
        }
    }
    pthread_mutex_unlock(&links_lock);
}

/* The connection of statement `stmt`; NULL when the statement is unknown. */
static SQLHANDLE connection_of(SQLHSTMT stmt)
{
    SQLHANDLE owner = NULL;
    pthread_mutex_lock(&links_lock);
    for (struct link *l = links; l; l = l->next)
        if (l->handle == stmt)
            owner = l->owner;
    pthread_mutex_unlock(&links_lock);
    return owner;
}

/* Whether the connection of statement `stmt` runs in ANSI-92 mode; -1 when
 * the statement or its connection is unknown. */
static int extended_of(SQLHSTMT stmt)
{
    SQLHANDLE dbc = connection_of(stmt);
    int result = -1;
    pthread_mutex_lock(&links_lock);
    for (struct link *l = links; l && dbc; l = l->next)
        if (l->handle == dbc && !l->owner)
            result = l->extended;
    pthread_mutex_unlock(&links_lock);
    return result;
}

/* A statement of the driver's own on `dbc`, outside the bookkeeping. */
static SQLHSTMT own_statement(SQLHDBC dbc)
{
    AllocHandleFn alloc = REAL(AllocHandleFn, "SQLAllocHandle");
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!alloc || !SQL_SUCCEEDED(alloc(SQL_HANDLE_STMT, dbc, &stmt)))
        return SQL_NULL_HSTMT;
    return stmt;
}

static void drop_own(SQLHSTMT stmt)
{
    FreeHandleFn free_handle = REAL(FreeHandleFn, "SQLFreeHandle");
    if (free_handle && stmt)
        free_handle(SQL_HANDLE_STMT, stmt);
}

void shim_connected(SQLHDBC dbc, int extended)
{
    remember(dbc, NULL, extended);
    ExecDirectFn exec = REAL(ExecDirectFn, "SQLExecDirect");
    SQLHSTMT stmt = own_statement(dbc);
    if (!exec || !stmt)
        return;
    for (size_t i = 0; i < sizeof setup / sizeof setup[0]; ++i)
        exec(stmt, (SQLCHAR *)setup[i], SQL_NTS);
    drop_own(stmt);
}

/* ---- a small reader of statement texts ---- */

struct token {
    const char *at;
    size_t length;
    int literal; /* a quoted string; `at` and `length` span its quotes */
};

struct reader {
    const char *p;
    const char *end;
};

static int name_byte(unsigned char c)
{
    return isalnum(c) || c == '_' || c >= 0x80;
}

/* The next token, or one of length 0 at the end. */
static struct token next_token(struct reader *r)
{
    while (r->p < r->end && isspace((unsigned char)*r->p))
        ++r->p;
    struct token t = {r->p, 0, 0};
    if (r->p >= r->end)
        return t;
    if (*r->p == '\'') {
        const char *q = r->p + 1;
        for (;;) {
            if (q >= r->end)
                break;
            if (*q == '\'') {
                if (q + 1 < r->end && q[1] == '\'') {
                    q += 2;
                    continue;
                }
                ++q;
                break;
            }
            ++q;
        }
        t.length = (size_t)(q - r->p);
        t.literal = 1;
    } else if (name_byte((unsigned char)*r->p)) {
        const char *q = r->p;
        while (q < r->end && name_byte((unsigned char)*q))
            ++q;
        t.length = (size_t)(q - r->p);
    } else {
        t.length = 1;
    }
    r->p += t.length;
    return t;
}

static int is_word(struct token t, const char *word)
{
    return !t.literal && t.length == strlen(word) && strncasecmp(t.at, word, t.length) == 0;
}

/* Characters of a literal token once its doubled quotes are single. */
static size_t literal_length(struct token t)
{
    size_t n = 0;
    const char *end = t.at + t.length - 1;
    for (const char *q = t.at + 1; q < end; ++q) {
        if (*q == '\'' && q + 1 < end && q[1] == '\'')
            ++q;
        ++n;
    }
    return n;
}

/* ---- column sizes ---- */

#define MAX_COLUMNS 64
struct columns {
    int count;
    char names[MAX_COLUMNS][64];
    long sizes[MAX_COLUMNS]; /* 0: no size limit */
};

/* The size in a declared type TEXT(n), VARCHAR(n), CHAR(n) and the like. */
static long size_of_type(const char *type)
{
    const char *open = strchr(type, '(');
    if (!open)
        return 0;
    size_t word = (size_t)(open - type);
    while (word > 0 && type[word - 1] == ' ')
        --word;
    if (!((word == 4 && strncasecmp(type, "TEXT", 4) == 0) || (word == 7 && strncasecmp(type, "VARCHAR", 7) == 0) ||
          (word == 4 && strncasecmp(type, "CHAR", 4) == 0) ||
          (word == 8 && strncasecmp(type, "NVARCHAR", 8) == 0) || (word == 5 && strncasecmp(type, "NCHAR", 5) == 0)))
        return 0;
    return strtol(open + 1, NULL, 10);
}

/* The columns of table [name, name + length) as the database declares them. */
static int read_columns(SQLHDBC dbc, const char *name, size_t length, struct columns *out)
{
    out->count = 0;
    if (length == 0 || length > 100)
        return 0;
    char sql[160] = "PRAGMA table_info(\"";
    strncat(sql, name, length);
    strcat(sql, "\")");
    ExecDirectFn exec = REAL(ExecDirectFn, "SQLExecDirect");
    FetchFn fetch = REAL(FetchFn, "SQLFetch");
    GetDataFn get = REAL(GetDataFn, "SQLGetData");
    SQLHSTMT stmt = own_statement(dbc);
    if (!exec || !fetch || !get || !stmt) {
        drop_own(stmt);
        return 0;
    }
    if (SQL_SUCCEEDED(exec(stmt, (SQLCHAR *)sql, SQL_NTS))) {
        while (out->count < MAX_COLUMNS && SQL_SUCCEEDED(fetch(stmt))) {
            char column[64] = "", type[64] = "";
            SQLLEN got = 0;
            get(stmt, 2, SQL_C_CHAR, column, sizeof column, &got);
            get(stmt, 3, SQL_C_CHAR, type, sizeof type, &got);
            strcpy(out->names[out->count], column);
            out->sizes[out->count] = size_of_type(type);
            ++out->count;
        }
    }
    drop_own(stmt);
    return out->count;
}

static long size_of_column(const struct columns *c, struct token name)
{
    for (int i = 0; i < c->count; ++i)
        if (strlen(c->names[i]) == name.length && strncasecmp(c->names[i], name.at, name.length) == 0)
            return c->sizes[i];
    return 0;
}

static int too_long(struct token value, long size)
{
    return value.literal && size > 0 && literal_length(value) > (size_t)size;
}

/* INSERT INTO t [(c, ...)] VALUES (v, ...): a literal longer than its column. */
static int insert_too_long(SQLHDBC dbc, struct reader *r)
{
    struct token t = next_token(r);
    if (!is_word(t, "INTO"))
        return 0;
    struct token table = next_token(r);
    struct columns columns;
    if (table.literal || !read_columns(dbc, table.at, table.length, &columns))
        return 0;
    struct token listed[MAX_COLUMNS];
    int named = 0;
    t = next_token(r);
    if (t.length == 1 && *t.at == '(') {
        for (t = next_token(r); t.length && !(t.length == 1 && *t.at == ')'); t = next_token(r))
            if (!(t.length == 1 && *t.at == ',') && named < MAX_COLUMNS)
                listed[named++] = t;
        t = next_token(r);
    }
    if (!is_word(t, "VALUES"))
        return 0;
    t = next_token(r);
    if (!(t.length == 1 && *t.at == '('))
        return 0;
    int index = 0;
    for (t = next_token(r); t.length && !(t.length == 1 && *t.at == ')'); t = next_token(r)) {
        if (t.length == 1 && *t.at == ',') {
            ++index;
            continue;
        }
        long size = 0;
        if (named)
            size = index < named ? size_of_column(&columns, listed[index]) : 0;
        else if (index < columns.count)
            size = columns.sizes[index];
        if (too_long(t, size))
            return 1;
    }
    return 0;
}

/* UPDATE t SET c = v [, c = v] ...: a literal longer than its column. */
static int update_too_long(SQLHDBC dbc, struct reader *r)
{
    struct token table = next_token(r);
    struct columns columns;
    if (table.literal || !read_columns(dbc, table.at, table.length, &columns))
        return 0;
    if (!is_word(next_token(r), "SET"))
        return 0;
    for (;;) {
        struct token column = next_token(r);
        struct token eq = next_token(r);
        if (!column.length || !(eq.length == 1 && *eq.at == '='))
            return 0;
        struct token value = next_token(r);
        if (too_long(value, size_of_column(&columns, column)))
            return 1;
        struct token after = next_token(r);
        if (!(after.length == 1 && *after.at == ','))
            return 0;
    }
}

/* What the Access driver would refuse of statement `sql` on `stmt`. */
static enum refusal judge(SQLHSTMT stmt, const char *sql, size_t length)
{
    struct reader r = {sql, sql + length};
    struct token first = next_token(&r);
    if (is_word(first, "CREATE") || is_word(first, "DROP")) {
        struct token what = next_token(&r);
        if ((is_word(what, "VIEW") || is_word(what, "PROCEDURE")) && extended_of(stmt) == 0)
            return SYNTAX;
        return NONE;
    }
    SQLHANDLE dbc = connection_of(stmt);
    if (!dbc)
        return NONE;
    if (is_word(first, "INSERT"))
        return insert_too_long(dbc, &r) ? FIELD_SIZE : NONE;
    if (is_word(first, "UPDATE"))
        return update_too_long(dbc, &r) ? FIELD_SIZE : NONE;
    return NONE;
}

/* Fails `stmt` with the driver's diagnostics for `why`. */
static SQLRETURN refuse(SQLHSTMT stmt, enum refusal why)
{
    ExecDirectFn exec = REAL(ExecDirectFn, "SQLExecDirect");
    if (!exec)
        return SQL_ERROR;
    const char *sql = why == SYNTAX ? "INSERT INTO velarmon_refusal VALUES (1)" : "INSERT INTO velarmon_refusal VALUES (2)";
    exec(stmt, (SQLCHAR *)sql, SQL_NTS);
    return SQL_ERROR;
}

static size_t text_length(SQLCHAR *text, SQLINTEGER length)
{
    if (!text)
        return 0;
    return length == SQL_NTS ? strlen((const char *)text) : length < 0 ? 0 : (size_t)length;
}

/* ---- the entry points ---- */

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE *output)
{
    AllocHandleFn real = REAL(AllocHandleFn, "SQLAllocHandle");
    if (!real)
        return SQL_ERROR;
    SQLRETURN result = real(type, input, output);
    if (type == SQL_HANDLE_STMT && SQL_SUCCEEDED(result) && output)
        remember(*output, input, 0);
    return result;
}

SQLRETURN SQL_API SQLAllocStmt(SQLHDBC dbc, SQLHSTMT *stmt)
{
    AllocStmtFn real = REAL(AllocStmtFn, "SQLAllocStmt");
    if (!real)
        return SQL_ERROR;
    SQLRETURN result = real(dbc, stmt);
    if (SQL_SUCCEEDED(result) && stmt)
        remember(*stmt, dbc, 0);
    return result;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle)
{
    FreeHandleFn real = REAL(FreeHandleFn, "SQLFreeHandle");
    if (!real)
        return SQL_ERROR;
    if (type == SQL_HANDLE_STMT || type == SQL_HANDLE_DBC)
        forget(handle);
    return real(type, handle);
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT stmt, SQLUSMALLINT option)
{
    FreeStmtFn real = REAL(FreeStmtFn, "SQLFreeStmt");
    if (!real)
        return SQL_ERROR;
    if (option == SQL_DROP)
        forget(stmt);
    return real(stmt, option);
}

/* Runs `text` through `real` (SQLExecDirect or SQLPrepare) unless the Access
 * driver would refuse it. */
static SQLRETURN judged(ExecDirectFn real, SQLHSTMT stmt, SQLCHAR *text, SQLINTEGER length)
{
    if (!real)
        return SQL_ERROR;
    enum refusal why = text ? judge(stmt, (const char *)text, text_length(text, length)) : NONE;
    if (why != NONE)
        return refuse(stmt, why);
    return real(stmt, text, length);
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT stmt, SQLCHAR *text, SQLINTEGER length)
{
    return judged(REAL(ExecDirectFn, "SQLExecDirect"), stmt, text, length);
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR *text, SQLINTEGER length)
{
    return judged(REAL(ExecDirectFn, "SQLPrepare"), stmt, text, length);
}
