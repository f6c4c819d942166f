#pragma once

// Name, icon and desktop identity of editor-frasi: the desktop groups its
// window under its own menu entry and shows the program's icon. Call once
// the application object exists.
void preparaEditor();
