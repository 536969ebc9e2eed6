#pragma once

#include <QIcon>

// The program's icon: a small rocket climbing over a launch rail, drawn in code
// so that it scales cleanly to every size a desktop asks for.
QIcon applicationIcon();
