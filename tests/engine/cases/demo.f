C     fixed-form comment line
c     another one
*     and a star comment
      PROGRAM DEMO
      PRINT *, 'IT''S'   ! inline comment
      CALL SUB(C)
      END
