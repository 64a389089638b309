// The UPnP and ports page and the DDNS page, each built alone.
#include "PageFixture.h"
