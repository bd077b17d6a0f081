#pragma once

// Resource IDs, shared by velmora.rc and the code.
#define IDI_VELMORA 1
