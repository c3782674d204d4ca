// Window objects for the standard controls. They add nothing of their own: a control
// attached through one of them keeps its own processing for everything its class's table
// does not handle.
#pragma once

#include "framework/wnd.h"

class CEdit : public CWnd {};

class CStatic : public CWnd {};
