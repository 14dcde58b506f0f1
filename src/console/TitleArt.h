#pragma once
// The logo and the banner of the title screen and the credits.
void showLogo(char colour);
void showBanner(char colour);
