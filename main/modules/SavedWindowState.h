#ifndef SAVEDWINDOWSTATE_H
#define SAVEDWINDOWSTATE_H

#include <QByteArray>
#include <QSize>

// A look at QMainWindow::saveState()'s bytes before they go back to
// QMainWindow::restoreState().  Qt's reader trusts the counts and area
// numbers in them: a count larger than the data keeps it reading past the end
// for minutes, and an area number outside the four areas indexes past its
// array.  This walks the same format with every count checked against the
// bytes left, so a damaged layout file is refused at once.  Qt also takes a
// floating tool bar's size as saved, so a damaged one would ask for a window of
// gigabytes; those sizes are held to the screens.
namespace SavedWindowState {

// True when the state is the main window state of the given version, every
// count fits in the bytes that follow it, every area number names an area,
// the dock nesting stays shallow and no floating dock or tool bar is larger
// than largestWindow.  Says nothing about which docks or tool bars the state
// names: Qt places the ones it finds and keeps the rest as placeholders.
bool isWellFormed(const QByteArray& state, int version, const QSize& largestWindow);

}  // namespace SavedWindowState

#endif
