// The base of everything a form owns: a name and a kind, registered with the
// owning form in declaration order so that the form's definition can be
// matched against them by name.
#pragma once
#include "form_definition.h"

class TForm;

class TComponent {
public:
    TComponent(TForm* owner, const char* name, ObjectKind kind);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const char* Name() const { return name_; }
    ObjectKind Kind() const { return kind_; }
    TForm* Owner() const { return owner_; }

private:
    TForm* owner_;
    const char* name_;
    ObjectKind kind_;
};

// Shift, Alt and Ctrl as held when a key event happened.
enum TShiftFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
typedef unsigned TShiftState;
