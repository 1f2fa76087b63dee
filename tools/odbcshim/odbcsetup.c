/*
 * The Access driver stand-in's setup library, for Wine.
 *
 * Wine's odbccp32 hands SQLConfigDataSource to the ConfigDSN of the library
 * that the driver's registry entry names as "Setup" (tools/wine/
 * prepare_prefix.sh registers this one). The Access driver creates a new
 * database on ODBC_ADD_DSN with the attribute CREATE_DB=<file> [sort order];
 * this library answers the same request by creating an empty file, which the
 * SQLite driver behind the shim opens as an empty database. Every other
 * request fails with a message, as nothing else is needed.
 */
#include <windows.h>
#include <odbcinst.h>
#include <string.h>

/* Copies the file name of a CREATE_DB value: quoted, or up to the first
 * blank (the sort order may follow). False when it is empty or too long. */
static BOOL file_of(const char *value, char *file, size_t size)
{
    const char *begin = value, *end;
    while (*begin == ' ')
        ++begin;
    if (*begin == '"') {
        ++begin;
        end = strchr(begin, '"');
        if (!end)
            return FALSE;
    } else {
        end = begin + strcspn(begin, " ");
    }
    if (end == begin || (size_t)(end - begin) >= size)
        return FALSE;
    memcpy(file, begin, (size_t)(end - begin));
    file[end - begin] = '\0';
    return TRUE;
}

static BOOL fail(DWORD code, const char *message)
{
    SQLPostInstallerError(code, message);
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI ConfigDSN(HWND parent, WORD request, LPCSTR driver,
                                            LPCSTR attributes)
{
    (void)parent;
    (void)driver;
    if (request != ODBC_ADD_DSN || !attributes)
        return fail(ODBC_ERROR_REQUEST_FAILED, "Only CREATE_DB is served");
    for (const char *a = attributes; *a; a += strlen(a) + 1) {
        if (_strnicmp(a, "CREATE_DB=", 10) != 0)
            continue;
        char file[MAX_PATH];
        if (!file_of(a + 10, file, sizeof file))
            return fail(ODBC_ERROR_INVALID_KEYWORD_VALUE, "Bad CREATE_DB file name");
        /* Never over an existing file: that may be someone's database. */
        HANDLE h = CreateFileA(file, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return fail(ODBC_ERROR_CREATE_DSN_FAILED,
                        GetLastError() == ERROR_FILE_EXISTS ? "The database file exists already"
                                                            : "The database file cannot be created");
        CloseHandle(h);
        return TRUE;
    }
    return fail(ODBC_ERROR_REQUEST_FAILED, "Only CREATE_DB is served");
}
