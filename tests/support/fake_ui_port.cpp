#include "support/fake_ui_port.h"
