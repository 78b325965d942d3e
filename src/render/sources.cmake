# Text: layout maths in core, FreeType and GL drawing in gl.
target_sources(sandlark_core PRIVATE
  render/TextLayout.cpp
)
target_sources(sandlark_gl PRIVATE
  render/TextRenderer.cpp
)
target_sources(sandlark_gl PRIVATE
  render/FramePasses.cpp
  render/helpers/PostProcessing.cpp
)
