#include "ui/fit_progress.h"
