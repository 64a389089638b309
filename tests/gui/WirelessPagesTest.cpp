// The wireless settings and access-point pages, each built alone.
#include "PageFixture.h"
