// Work-zone and auxiliary signs.
#include "picgen.h"

void addWorkZoneSigns(Pictures& out) {
    (void)out;
}
