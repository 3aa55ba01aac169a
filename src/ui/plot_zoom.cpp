#include "ui/plot_zoom.h"
