#include "ui/help_window.h"
