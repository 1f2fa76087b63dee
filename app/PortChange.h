#pragma once

class Application;

// Lets the user pick another COM port and restarts the phone session on it;
// a session that cannot be started ends the program.
void ChangePort(Application& app);
