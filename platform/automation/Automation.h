#pragma once

// The whole automation layer for client code.
#include "platform/automation/ComInterfaces.h"
#include "platform/automation/ComPtr.h"
#include "platform/automation/Guid.h"
#include "platform/automation/HResult.h"
#include "platform/automation/OleError.h"
#include "platform/automation/OleServer.h"
#include "platform/automation/Variant.h"
