// The base of every visualizer: the object that shows one model object with controls.
#pragma once

namespace tavik {

class CAttribute;

class CVisualizer {
 public:
  explicit CVisualizer(CAttribute* model_object) : model_object_(model_object) {}
  virtual ~CVisualizer() = default;
  CVisualizer(const CVisualizer&) = delete;
  CVisualizer& operator=(const CVisualizer&) = delete;

  // The attribute whose properties drive the visualizer's controls.
  CAttribute* GetModelObject() const { return model_object_; }

 private:
  CAttribute* model_object_;
};

}  // namespace tavik
