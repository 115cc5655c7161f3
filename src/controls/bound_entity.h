// What a bound control asks of the entity whose column it shows, beyond the model's entity.
#pragma once

#include <cstdint>

namespace tavik {

class CDataCtrl;

// The entity floor's entity descriptor implements this, so that a control reaches its
// entity's data controls without seeing the floor above it. The entity's name and relations
// are the model's, which a control reads through its attribute.
class BoundEntity {
 public:
  BoundEntity() = default;
  BoundEntity(const BoundEntity&) = delete;
  BoundEntity& operator=(const BoundEntity&) = delete;

  // The entity's data control; null until the entity made it.
  virtual CDataCtrl* GetDataCtrl() const = 0;
  // The data control of the entity's first master; null when it has no master on the form
  // or the master has no data control yet.
  virtual CDataCtrl* MasterDataCtrl() const = 0;
  // Registers one more control with the entity's data control; answers its index.
  virtual std::int32_t GetNextRegCtrlIndex() = 0;

 protected:
  ~BoundEntity() = default;
};

}  // namespace tavik
