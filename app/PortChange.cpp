#include "app/PortChange.h"

#include "app/Application.h"

void ChangePort(Application&)
{
    // The port dialog and the session restart come with the phone session.
}
