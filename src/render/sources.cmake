# Text layout and the render toggles are plain data: they live in the core.
# Uniform uploads, glyph textures, the passes and post-processing touch OpenGL.
target_sources(sandlark_core PRIVATE
  render/TextLayout.cpp
)
target_sources(sandlark_gl PRIVATE
  render/CameraUniforms.cpp
  render/EffectDraws.cpp
  render/FramePasses.cpp
  render/Framebuffer.cpp
  render/ImageScreen.cpp
  render/LightUniforms.cpp
  render/RenderContext.cpp
  render/ShaderWarmUp.cpp
  render/ShadowMap.cpp
  render/TextRenderer.cpp
  render/helpers/FullscreenQuad.cpp
  render/helpers/PostProcessing.cpp
)
