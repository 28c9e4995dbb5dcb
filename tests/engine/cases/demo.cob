      * fixed-form comment in column 7
       PROCEDURE DIVISION.
           DISPLAY "IT'S ""QUOTED""" *> inline comment
           MOVE 'A' TO WS-CHAR
           STOP RUN.
