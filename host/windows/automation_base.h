// Takes the place of the header widl would generate from automation_base.idl: the real
// system declarations of IUnknown and IDispatch.
#pragma once

#include <oaidl.h>
