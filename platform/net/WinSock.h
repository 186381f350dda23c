#pragma once
// The socket helpers the program uses: inet_ntoa (an address in network byte order as dotted
// decimal, four numbers without leading zeros, in a buffer of the calling thread that the next
// call overwrites) and ntohs / htons / ntohl / htonl. The system's C library implements them
// with exactly these contracts, so this header makes its declarations the platform's.

#include <arpa/inet.h>
#include <netinet/in.h>
