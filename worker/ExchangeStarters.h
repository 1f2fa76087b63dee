#pragma once

// The frame's entry points into phone exchanges run on the worker thread.
void ReceiveActiveTable();
void WriteActiveTable();
void DownloadMedia(bool all);
