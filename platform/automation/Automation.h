#pragma once

// The whole automation layer for client code.
#include "ComInterfaces.h"
#include "ComPtr.h"
#include "Guid.h"
#include "HResult.h"
#include "OleError.h"
#include "OleServer.h"
#include "Variant.h"
