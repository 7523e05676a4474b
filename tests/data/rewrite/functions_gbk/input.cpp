MessageBox(h, "ÄãºÃ");
len = strlen(s); // ³¤¶È
strcpy_kx(a, b);//strcpy
foo_kx(1);
