#pragma once

// The platform's host entry record, as the resolver returns it.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <netdb.h>
#endif
