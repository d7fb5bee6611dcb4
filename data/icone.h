#pragma once

#include <QIcon>

// The trainer's icon at every size it ships, from the resources of
// zirvano_data; the program sets it as the icon of every window.
QIcon IconeZirvano();
