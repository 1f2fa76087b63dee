/*
 * Stand-in for the Access ODBC driver on Linux.
 *
 * unixODBC loads this library for the driver name the program asks for and
 * looks up every entry point in it. SQLDriverConnect lives here, and the
 * statement entry points through which the Access driver's rules are kept
 * live in accessrules.c; all the others come from the SQLite ODBC driver,
 * which this library is linked against, so the driver manager's symbol
 * look-ups fall through to it.
 *
 * SQLDriverConnect rewrites the Access-style attribute DBQ=<name> into the
 * SQLite driver's Database=<folder>/<name>.mdb (the extension added, as the
 * Access driver does, when the name has none) and adds NoCreat=1, so that a
 * missing database file fails to connect instead of being created empty.
 * The folder is $VELARMON_DB_DIR, or the default compiled in; "." is the
 * process's current folder, which Wine sets from the Windows one when it
 * starts a process (and never again: a Windows program that changes its
 * folder later names its database by a full path). A full Windows path
 * ("C:\...") is found through the prefix's drive links. It notes whether
 * the string sets ExtendedAnsiSQL=1, the Access driver's switch to Jet's
 * ANSI-92 mode, which alone accepts views and procedures made through SQL.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include "shim.h"

#ifndef VELARMON_DEFAULT_DB_DIR
#define VELARMON_DEFAULT_DB_DIR "."
#endif
#ifndef VELARMON_SQLITE_DRIVER
#define VELARMON_SQLITE_DRIVER "libsqlite3odbc-0.9998.so"
#endif

typedef SQLRETURN (SQL_API *DriverConnectFn)(SQLHDBC, SQLHWND, SQLCHAR *, SQLSMALLINT,
                                             SQLCHAR *, SQLSMALLINT, SQLSMALLINT *,
                                             SQLUSMALLINT);

/* Growing output text. */
struct text {
    char *bytes;
    size_t length;
    size_t capacity;
    int failed;
};

static void append(struct text *t, const char *bytes, size_t count)
{
    if (t->failed)
        return;
    if (t->length + count + 1 > t->capacity) {
        size_t capacity = (t->length + count + 1) * 2;
        char *grown = realloc(t->bytes, capacity);
        if (!grown) {
            t->failed = 1;
            return;
        }
        t->bytes = grown;
        t->capacity = capacity;
    }
    memcpy(t->bytes + t->length, bytes, count);
    t->length += count;
    t->bytes[t->length] = '\0';
}

static void append_z(struct text *t, const char *z)
{
    append(t, z, strlen(z));
}

static int key_is(const char *key, size_t length, const char *name)
{
    return strlen(name) == length && strncasecmp(key, name, length) == 0;
}

static void trim(const char **begin, const char **end)
{
    while (*begin < *end && (**begin == ' ' || **begin == '\t'))
        ++*begin;
    while (*end > *begin && ((*end)[-1] == ' ' || (*end)[-1] == '\t'))
        --*end;
}

/* True when the last part of the path [begin, end) has a '.' in it. */
static int has_extension(const char *begin, const char *end)
{
    while (end > begin && end[-1] != '/' && end[-1] != '\\') {
        if (end[-1] == '.')
            return 1;
        --end;
    }
    return 0;
}

/* True for a full Windows path with a drive: "C:\..." or "C:/...". */
static int is_drive_path(const char *begin, const char *end)
{
    return end - begin >= 3 && ((begin[0] | 0x20) >= 'a' && (begin[0] | 0x20) <= 'z') && begin[1] == ':' &&
           (begin[2] == '\\' || begin[2] == '/');
}

/* The Unix path of a full Windows path, through the prefix's drive links
 * ($WINEPREFIX/dosdevices/c: and the like), as Wine itself finds it. */
static void append_drive_path(struct text *out, const char *begin, const char *end)
{
    const char *prefix = getenv("WINEPREFIX");
    if (prefix && *prefix) {
        append_z(out, prefix);
    } else {
        const char *home = getenv("HOME");
        append_z(out, home ? home : "");
        append_z(out, "/.wine");
    }
    char drive[] = "/dosdevices/c:";
    drive[12] = (char)(begin[0] | 0x20);
    append_z(out, drive);
    for (const char *p = begin + 2; p < end; ++p)
        append(out, *p == '\\' ? "/" : p, 1);
}

/*
 * Rewrites the connection string. Attributes are "key=value" pieces separated
 * by ';'; a value may be wrapped in braces to hold ';'. DBQ becomes Database
 * (a full Windows path through the drive links, any other name in the folder;
 * ".mdb" added when it has no extension), any Database or NoCreat given is
 * dropped, and NoCreat=1 ends the result; `extended` tells whether
 * ExtendedAnsiSQL is 1.
 * Returns a malloc'ed text or NULL.
 */
static char *rewrite(const char *in, size_t in_length, int *extended)
{
    *extended = 0;
    const char *folder = getenv("VELARMON_DB_DIR");
    if (!folder || !*folder)
        folder = VELARMON_DEFAULT_DB_DIR;

    struct text out = {0};
    append(&out, "", 0);
    const char *p = in;
    const char *end = in + in_length;
    while (p < end) {
        const char *piece = p;
        const char *eq = NULL;
        const char *value = NULL;
        const char *value_end = NULL;
        while (p < end && *p != ';' && *p != '=')
            ++p;
        if (p < end && *p == '=') {
            eq = p++;
            value = p;
            if (p < end && *p == '{') {
                value = ++p;
                while (p < end && *p != '}')
                    ++p;
                value_end = p;
                if (p < end)
                    ++p;
            }
            while (p < end && *p != ';')
                ++p;
            if (!value_end)
                value_end = p;
        }
        const char *piece_end = p;
        if (p < end)
            ++p; /* the ';' */

        if (!eq) {
            const char *b = piece, *e = piece_end;
            trim(&b, &e);
            if (b != e) {
                append(&out, piece, (size_t)(piece_end - piece));
                append_z(&out, ";");
            }
            continue;
        }
        const char *key = piece, *key_end = eq;
        trim(&key, &key_end);
        size_t key_length = (size_t)(key_end - key);
        if (key_is(key, key_length, "DBQ")) {
            trim(&value, &value_end);
            append_z(&out, "Database=");
            if (is_drive_path(value, value_end)) {
                append_drive_path(&out, value, value_end);
            } else {
                append_z(&out, folder);
                append_z(&out, "/");
                append(&out, value, (size_t)(value_end - value));
            }
            if (!has_extension(value, value_end))
                append_z(&out, ".mdb");
            append_z(&out, ";");
        } else if (key_is(key, key_length, "Database") || key_is(key, key_length, "NoCreat")) {
            /* replaced below, so the file can only be one that exists */
        } else if (key_is(key, key_length, "ExtendedAnsiSQL")) {
            trim(&value, &value_end);
            *extended = value_end - value == 1 && *value == '1';
            append(&out, piece, (size_t)(piece_end - piece));
            append_z(&out, ";");
        } else {
            append(&out, piece, (size_t)(piece_end - piece));
            append_z(&out, ";");
        }
    }
    append_z(&out, "NoCreat=1;");
    if (out.failed) {
        free(out.bytes);
        return NULL;
    }
    return out.bytes;
}

void *shim_real(const char *name)
{
    /* Already loaded as this library's dependency: only its handle is taken. */
    void *driver = dlopen(VELARMON_SQLITE_DRIVER, RTLD_LAZY | RTLD_NOLOAD);
    if (!driver)
        return NULL;
    void *fn = dlsym(driver, name);
    dlclose(driver);
    /* Never one of this library's own functions. */
    Dl_info found, own;
    if (!fn || !dladdr(fn, &found) || !dladdr((void *)shim_real, &own) || found.dli_fbase == own.dli_fbase)
        return NULL;
    return fn;
}

static DriverConnectFn real_driver_connect(void)
{
    static DriverConnectFn found;
    if (!found)
        found = (DriverConnectFn)shim_real("SQLDriverConnect");
    return found;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC hdbc, SQLHWND hwnd, SQLCHAR *in, SQLSMALLINT in_length,
                                   SQLCHAR *out, SQLSMALLINT out_max, SQLSMALLINT *out_length,
                                   SQLUSMALLINT completion)
{
    DriverConnectFn real = real_driver_connect();
    if (!real)
        return SQL_ERROR;
    if (!in)
        return real(hdbc, hwnd, in, in_length, out, out_max, out_length, completion);

    size_t length = in_length == SQL_NTS ? strlen((const char *)in)
                    : in_length < 0      ? 0
                                         : (size_t)in_length;
    int extended = 0;
    char *rewritten = rewrite((const char *)in, length, &extended);
    if (!rewritten)
        return SQL_ERROR;
    SQLRETURN result = real(hdbc, hwnd, (SQLCHAR *)rewritten, SQL_NTS, out, out_max, out_length,
                            completion);
    free(rewritten);
    if (SQL_SUCCEEDED(result))
        shim_connected(hdbc, extended);
    return result;
}
