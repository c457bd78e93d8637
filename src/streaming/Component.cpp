#include "streaming/Classes.h"
#include "streaming/Reader.h"

LV_PUBLISH(TComponent) {
  static const TPropInfo properties[] = {
      Property<&TComponent::FName, &TComponent::SetName>("Name"),
  };
  return {.Properties = properties};
}

TComponent::TComponent(TComponent *AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

void TComponent::Free() {
  Destroy();
  delete this;
}

void TComponent::Destroy() { Teardown(); }

// After Free this finds nothing to do. A component that was deleted some
// other way (through TObject, or one made on the stack) still leaves its
// owner and frees what it owns, so nothing keeps a dangling pointer to it.
TComponent::~TComponent() { Teardown(); }

void TComponent::Teardown() {
  while (FFreeNotifies.Count() > 0) {
    TComponent *other = FFreeNotifies.Last();
    FFreeNotifies.Delete(FFreeNotifies.Count() - 1);
    other->FFreeNotifies.Remove(this);
    other->Notification(this, opRemove);
  }
  Destroying();
  while (FComponents.Count() > 0) {
    TComponent *owned = FComponents.Last();
    FComponents.Delete(FComponents.Count() - 1);
    owned->FOwner = nullptr;
    owned->Free();
  }
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const AnsiString &NewName) {
  if (NewName == FName) return;
  const TFieldInfo *newField = OwnerField(NewName);
  if (newField != nullptr && !InheritsFrom(newField->FieldClass))
    throw Exception(Format("Field %s of %s cannot hold a %s", {newField->Name, FOwner->ClassName(), ClassName()}));
  // Only a field that refers to this component is cleared: another component
  // of the same name keeps its binding.
  const TFieldInfo *oldField = OwnerField(FName);
  if (oldField != nullptr && oldField->Get(*FOwner) == this) oldField->Set(*FOwner, nullptr);
  FName = NewName;
  if (newField != nullptr) newField->Set(*FOwner, this);
}

void TComponent::FreeNotification(TComponent *AComponent) {
  if (FFreeNotifies.IndexOf(AComponent) < 0) FFreeNotifies.Add(AComponent);
  if (AComponent->FFreeNotifies.IndexOf(this) < 0) AComponent->FFreeNotifies.Add(this);
}

void TComponent::RemoveFreeNotification(TComponent *AComponent) {
  FFreeNotifies.Remove(AComponent);
  AComponent->FFreeNotifies.Remove(this);
}

void TComponent::Destroying() {
  FComponentState |= csDestroying;
  for (TComponent *owned : FComponents) owned->Destroying();
}

void TComponent::Loaded() { FComponentState &= ~csLoading; }

void TComponent::ReadState(TReader &Reader) { Reader.ReadData(this); }

void TComponent::SetParentComponent(TComponent *) {}

void TComponent::Notification(TComponent *AComponent, TOperation Operation) {
  if (Operation == opRemove) RemoveFreeNotification(AComponent);
}

void TComponent::InsertComponent(TComponent *AComponent) {
  FComponents.Add(AComponent);
  AComponent->FOwner = this;
  NotifyTree(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent *AComponent) {
  NotifyTree(AComponent, opRemove);
  const TFieldInfo *field = AComponent->OwnerField(AComponent->FName);
  if (field != nullptr && field->Get(*this) == AComponent) field->Set(*this, nullptr);
  FComponents.Remove(AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::NotifyTree(TComponent *AComponent, TOperation Operation) {
  Notification(AComponent, Operation);
  for (int i = 0; i < FComponents.Count(); ++i) FComponents[i]->NotifyTree(AComponent, Operation);
}

const TFieldInfo *TComponent::OwnerField(const AnsiString &name) const {
  return FOwner != nullptr ? FindFieldInfo(FOwner->ClassType(), name) : nullptr;
}
