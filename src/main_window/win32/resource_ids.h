#pragma once

// Resource IDs shared by the resource script and the code that loads them.
#define kApplicationIconId 1
