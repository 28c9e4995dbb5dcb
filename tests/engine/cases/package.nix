  version = "1.2.0";
  /* Flags shared by the build and the shell;
     a block comment may span lines. */
  commonFlags = [ "-DWORDCOUNT_TESTS=${if enableTests then "ON" else "OFF"}" ];
in

  # An indented string: two single quotes start and end it.
  postInstall = ''
    mkdir -p $out/share/doc/${pname}
    cp ../README.md $out/share/doc/${pname}/
    echo "built with $CC" > $out/share/doc/${pname}/BUILD
  '';

