# Text layout, glyph bitmap conversion, the render toggles and the render-scale
# choice are plain data: they live in the core. FreeType's rasterising, uniform
# uploads, glyph textures, the passes and post-processing need their libraries.
target_sources(sandlark_core PRIVATE
  render/GlyphBitmap.cpp
  render/RenderScale.cpp
  render/TextLayout.cpp
)
target_sources(sandlark_gl PRIVATE
  render/CameraUniforms.cpp
  render/EffectDraws.cpp
  render/FontGlyphs.cpp
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
