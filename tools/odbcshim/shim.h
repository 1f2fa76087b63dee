/*
 * What the two parts of the Access driver stand-in share: the SQLite ODBC
 * driver's own entry points, and the connections' modes.
 */
#ifndef VELARMON_ODBCSHIM_SHIM_H
#define VELARMON_ODBCSHIM_SHIM_H

#include <sql.h>
#include <sqlext.h>

/* The SQLite driver's entry point `name`, never this library's own; NULL
 * when the driver does not have it. */
void *shim_real(const char *name);

/* A connection has been made: `extended` tells whether its connection string
 * set ExtendedAnsiSQL=1. Prepares what its statements' refusals need. */
void shim_connected(SQLHDBC dbc, int extended);

#endif
