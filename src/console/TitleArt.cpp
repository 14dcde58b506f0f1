#include "console/TitleArt.h"

// Placeholders until the art is drawn.
void showLogo(char) {}
void showBanner(char) {}
