// What the main window asks of a child that edits the project in fields of its own (the data
// windows): to load the fields, when the window is activated and again after a unit switch, and
// to store them, before a menu opens or a command reads the project.
#pragma once

#include <QtPlugin>

namespace keldar {

class TDataWindow {
  public:
    // Loads every field from the project; entries not yet stored are replaced.
    virtual void FormActivate() = 0;
    // Stores every field into the project. Refused (false, nothing stored) while a field holds a
    // rejected entry: the window comes back to the front with the focus in that field.
    virtual bool FormDeactivate() = 0;

  protected:
    ~TDataWindow() = default;
};

}  // namespace keldar

Q_DECLARE_INTERFACE(keldar::TDataWindow, "keldar.TDataWindow")
