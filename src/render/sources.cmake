target_sources(sandlark_gl PRIVATE
  render/FramePasses.cpp
  render/helpers/PostProcessing.cpp
)
