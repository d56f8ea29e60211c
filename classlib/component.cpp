#include "component.h"

#include "form.h"

TComponent::TComponent(TForm* owner, const char* name, ObjectKind kind) : owner_(owner), name_(name), kind_(kind)
{
    if (owner)
        owner->AddComponent(this);
}
