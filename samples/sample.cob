      *> sample.cob: an interest table, an example of COBOL.
       IDENTIFICATION DIVISION.
       PROGRAM-ID. INTEREST.
       AUTHOR. VOREL-SAMPLES.
      * A fixed-form comment: an asterisk in column 7.
       ENVIRONMENT DIVISION.
       CONFIGURATION SECTION.
       SOURCE-COMPUTER. X86-64.

       DATA DIVISION.
       WORKING-STORAGE SECTION.
       01  WS-PRINCIPAL        PIC 9(7)V99 VALUE 1000.00.
       01  WS-RATE             PIC 9V9999  VALUE 0.0350.
       01  WS-YEAR             PIC 99      VALUE ZERO.
       01  WS-BALANCE          PIC 9(9)V99.
       01  WS-INTEREST         PIC 9(7)V99.
       01  WS-LINE.
           05  WS-YEAR-OUT     PIC Z9.
           05  FILLER          PIC X(3)    VALUE SPACES.
           05  WS-BAL-OUT      PIC $$$,$$$,$$9.99.
       01  WS-TITLE            PIC X(40)
           VALUE "Year   Balance (it's ""compound"")".

       PROCEDURE DIVISION.
       MAIN-PARA.
           DISPLAY WS-TITLE
           MOVE WS-PRINCIPAL TO WS-BALANCE
           PERFORM VARYING WS-YEAR FROM 1 BY 1 UNTIL WS-YEAR > 10
               COMPUTE WS-INTEREST ROUNDED = WS-BALANCE * WS-RATE
               ADD WS-INTEREST TO WS-BALANCE
               MOVE WS-YEAR TO WS-YEAR-OUT
               MOVE WS-BALANCE TO WS-BAL-OUT
               DISPLAY WS-LINE
           END-PERFORM
           IF WS-BALANCE > 2000
               DISPLAY 'Doubled within ten years'
           ELSE
               DISPLAY 'Not doubled yet'  *> an inline comment
           END-IF
           DISPLAY "Upper: " FUNCTION UPPER-CASE("done")
           STOP RUN.
