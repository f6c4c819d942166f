#pragma once

// Look and fonts shared by the program, its tests and its benchmark. Call
// once the application object exists.
void preparaApplicazione();
