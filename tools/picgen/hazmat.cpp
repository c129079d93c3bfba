// Dangerous-goods labels and first-aid scenes.
#include "picgen.h"

void addHazardPictures(Pictures& out) {
    (void)out;
}
