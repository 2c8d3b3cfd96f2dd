#pragma once

class QFile;

// Asks the system to put an open file's written bytes on the disk itself, so that a rename that
// follows can't leave an empty file after a power cut. False when the system refused.
bool Sync_File(QFile& file);
