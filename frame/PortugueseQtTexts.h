#pragma once

// The whole interface is Portuguese, Qt's own texts included (field menus, the file dialog,
// standard buttons), whatever the user's locale: Qt's Brazilian Portuguese translations are
// loaded at start. Call once, after the application object exists; a second call changes
// nothing.
void installPortugueseQtTexts();
