// The link-type, LAN address, wireless address and system pages, each built alone.
#include "PageFixture.h"
