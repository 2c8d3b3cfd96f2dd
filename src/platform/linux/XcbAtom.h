#pragma once

#include <xcb/xcb.h>

// The atom of a name on the X server, created when missing; XCB_ATOM_NONE when the server gives
// no answer.
xcb_atom_t Xcb_Atom(xcb_connection_t* connection, const char* name);
