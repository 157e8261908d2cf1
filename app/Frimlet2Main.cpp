// The program's one application object.
#include "app/CFrimlet2App.h"

CFrimlet2App theApp;
