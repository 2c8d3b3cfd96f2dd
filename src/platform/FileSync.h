#pragma once

class QFile;

// Asks the system to put an open file's written bytes on the disk itself, so that a rename that
// follows can't leave an empty file after a power cut. False when the system refused.
bool Sync_File(QFile& file);

// A stand-in for the system's sync, so a test can make the flush fail as a full or failing disk
// does. Set_File_Sync(nullptr) puts the system's sync back.
using File_Sync_Function = bool (*)(QFile& file);
void Set_File_Sync(File_Sync_Function sync);
