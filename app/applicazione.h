#pragma once

// Look, fonts, window icon and desktop identity shared by the program, its
// tests and its benchmark. Call once the application object exists.
void preparaApplicazione();
