// The identifiers of the type library, the interface and the class, defined once.
#include <initguid.h>

#include "host/windows/orbelle_angles.h"
