# CPU-side records (bounds, decoded images, mesh data, filter choice) live in the
# core; programs, textures, meshes, import and the catalogue touch OpenGL.
target_sources(sandlark_core PRIVATE
  assets/MaterialLibraryCheck.cpp
  assets/MeshPieces.cpp
  assets/TextureFilter.cpp
)
target_sources(sandlark_gl PRIVATE
  assets/AssetCatalogue.cpp
  assets/ImageLoader.cpp
  assets/ImageSizeCheck.cpp
  assets/ImageWriter.cpp
  assets/Mesh.cpp
  assets/ModelFileSystem.cpp
  assets/ModelLoader.cpp
  assets/ShaderProgram.cpp
  assets/Skybox.cpp
)
