#pragma once
// The bookmark store and the page notes: the hidden lists of the data form, mirrored in
// the main window's combos while the bookmark browser is open; and the home-page check.

#include "BrowserState.h"

#include <QString>

namespace corvane {

class CorvaneApp;

bool BookmarkExists(const CorvaneApp& app, const QString& address);
// Appends the pair (no duplicate test: callers ask BookmarkExists first). An empty name
// becomes the address; an empty address adds nothing and gives false.
bool BookmarkAdd(CorvaneApp& app, const QString& name, const QString& address);
void BookmarkRename(CorvaneApp& app, const QString& newName, int index);
// Removes pair index and selects a neighbour; index follows the selection.
void BookmarkDelete(CorvaneApp& app, int& index);
void BookmarkDeleteAll(CorvaneApp& app);
// Opens the bookmark browser with the lists and shows the first bookmark.
void BookmarkPanelShow(CorvaneApp& app);
// selectKind: "MainName", "MainAddress" or "NoName" (a selection made by the program).
void BookmarkSelect(CorvaneApp& app, const QString& selectKind, int index);

// One note per page: a page that has a note gets its text replaced, from whichever window;
// otherwise the note is added. The panel's editing state is consumed.
void NoteAdd(CorvaneApp& app, NoteVars& panel, const QString& pageAddress, const QString& noteText);
// The same for the main window's panel.
void NoteAdd(CorvaneApp& app, const QString& pageAddress, const QString& noteText);
int NoteFindForPage(const CorvaneApp& app, const QString& pageAddress);
QString NoteTextGet(const CorvaneApp& app, int noteIndex);
// Removes the panel's current note.
void NoteRemove(CorvaneApp& app, NoteVars& panel);
void NoteRemove(CorvaneApp& app);
void HomePageCheck(CorvaneApp& app, const QString& pageAddress);

} // namespace corvane
