// Traffic police hand signals (the eight gestures).
#include "picgen.h"

void addGestures(Pictures& out) {
    (void)out;
}
